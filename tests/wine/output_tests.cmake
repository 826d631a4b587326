# Copy, Append to ClipBoard and Print driven as a user would, checked with
# real clients: the clipboard read back by the driver, the Rich Text document
# opened by the word processor (writer_check.sh), the printout made by the PDF
# printer of CUPS and read with pdftotext and pdftoppm (printing_check.sh).
# Included from tests/wine/CMakeLists.txt (WIN32 builds only).

add_executable(zelvan_output_tests clipboard_test.cpp printing_test.cpp output_scenario.cpp
  output_reference.cpp driver/program_fixture.cpp driver/program_test_main.cpp)
target_link_libraries(zelvan_output_tests PRIVATE zelvan_program_driver zelvan_wine_test_support
  zelvan_lesson_resources ${ZELVAN_WIN32_GROUP} winspool)
target_compile_definitions(zelvan_output_tests PRIVATE ZELVAN_CLI_EXE="$<TARGET_FILE:zelvan-cli>")
add_dependencies(zelvan_output_tests zelvan-cli)

set(output_artifacts ${CMAKE_CURRENT_BINARY_DIR}/output-artifacts)
set(output_runner ${CMAKE_CROSSCOMPILING_EMULATOR})

# The clipboard read back with GetClipboardData.
add_test(NAME output.ClipboardPlainText
  COMMAND zelvan_output_tests --gtest_filter=Clipboard.PlainTextCopyAndAppend)
add_test(NAME output.ClipboardForeign
  COMMAND zelvan_output_tests --gtest_filter=Clipboard.AppendToForeignData:Clipboard.PlainAppendToForeignText)
# Copy and three Appends, then the document opened by the word processor.
add_test(NAME output.ClipboardInWriter
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/writer_check.sh ${output_artifacts}/writer
    ${output_runner} $<TARGET_FILE:zelvan_output_tests>
    --gtest_filter=Clipboard.RichTextCopyAndThreeAppendsMakeOneDocument)
set_tests_properties(output.ClipboardPlainText output.ClipboardForeign output.ClipboardInWriter
  PROPERTIES RESOURCE_LOCK zelvan_display TIMEOUT 600)

# Printing scenarios: each runs in a fresh prefix, then its PDF is checked.
foreach(scenario
    OneDayOnOnePage
    InTheDarkModeBlackOnWhite
    LargeFontOnSeveralPages
    HebrewPageNumber
    NarrowMarginsTypedIntoTheDialog
    SecondPrintBringsBackMarginsAndPrinter
    CancelShowsNoMessageAndPrintsNothing
    DamagedStoredSettingsGiveTheDefaults
    MarginsLeavingNoRoomGiveAMessage
    NoPrinterGivesTheFailureMessage
    OneInchFromTheEdgeOnABorderedPrinter)
  add_test(NAME output.Printing.${scenario}
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/printing_check.sh ${scenario} ${output_artifacts}/${scenario}
      ${output_runner} $<TARGET_FILE:zelvan_output_tests>)
  set_tests_properties(output.Printing.${scenario}
    PROPERTIES RESOURCE_LOCK "zelvan_display;zelvan_printer" TIMEOUT 600)
endforeach()
