#include "tools/output_file.h"

OutputResult OpenOutput(const CliArgument* file, OutputFile* out, std::string* reason) {
  *out = OutputFile{stdout, PathString(), PathString(), std::string()};
  if (!file) return kOutputDone;
  out->Name = file->Text;
  if (!OpenFileOutput(file->Path, out, reason)) {
    *reason = "cannot write '" + out->Name + "': " + *reason;
    out->Stream = nullptr;
    return kOutputPathRefused;
  }
  return kOutputDone;
}

OutputResult CommitOutput(OutputFile* out, std::string* reason) {
  if (out->Name.empty()) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
      *reason = "cannot write the output";
      return kOutputWriteFailed;
    }
    return kOutputDone;
  }
  const bool written = CloseFileOutput(out->Stream, reason);
  out->Stream = nullptr;
  if (!written) {
    *reason = "cannot write '" + out->Name + "': " + *reason;
    if (!out->TempPath.empty()) RemoveTemporaryFile(out->TempPath);
    return kOutputWriteFailed;
  }
  if (out->TempPath.empty()) return kOutputDone;
  if (!MoveFileOver(out->TempPath, out->Target, reason)) {
    *reason = "cannot write '" + out->Name + "': " + *reason;
    RemoveTemporaryFile(out->TempPath);
    return kOutputPathRefused;
  }
  ForgetTemporaryFile();
  return kOutputDone;
}

void AbandonOutput(OutputFile* out) {
  if (out->Name.empty()) return;
  if (out->Stream) std::fclose(out->Stream);
  out->Stream = nullptr;
  if (!out->TempPath.empty()) RemoveTemporaryFile(out->TempPath);
}
