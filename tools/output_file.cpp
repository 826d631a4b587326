#include "tools/output_file.h"

#include <cerrno>
#include <cstring>

OutputResult OpenOutput(const char* path, OutputFile* out, std::string* reason) {
  *out = OutputFile{stdout, "", ""};
  if (!path) return kOutputDone;
  out->Path = path;
  out->Stream = CreateFileBeside(out->Path, &out->TempPath, reason);
  if (!out->Stream) {
    *reason = "cannot write '" + out->Path + "': " + *reason;
    return kOutputPathRefused;
  }
  return kOutputDone;
}

OutputResult CommitOutput(OutputFile* out, std::string* reason) {
  if (out->Path.empty()) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
      *reason = "cannot write the output";
      return kOutputWriteFailed;
    }
    return kOutputDone;
  }
  int error = 0;  // errno of the first failure
  if (std::fflush(out->Stream) != 0 || std::ferror(out->Stream)) error = errno != 0 ? errno : EIO;
  if (std::fclose(out->Stream) != 0 && error == 0) error = errno != 0 ? errno : EIO;
  out->Stream = nullptr;
  if (error != 0) {
    *reason = "cannot write '" + out->Path + "': " + std::strerror(error);
    std::remove(out->TempPath.c_str());
    return kOutputWriteFailed;
  }
  if (!MoveFileOver(out->TempPath, out->Path, reason)) {
    *reason = "cannot write '" + out->Path + "': " + *reason;
    std::remove(out->TempPath.c_str());
    return kOutputPathRefused;
  }
  return kOutputDone;
}

void AbandonOutput(OutputFile* out) {
  if (out->Path.empty()) return;
  if (out->Stream) std::fclose(out->Stream);
  out->Stream = nullptr;
  std::remove(out->TempPath.c_str());
}
