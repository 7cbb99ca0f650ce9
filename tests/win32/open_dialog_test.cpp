// The open-file dialog's record for both kinds of file, as the open command asks for them.
#include <cstddef>
#include <cstring>
#include <string>

#include "window_fixture.h"

namespace {

// Keeps the record the core's request would give the dialog, and answers as a cancelled dialog.
struct DialogRecorder : Win32Platform {
  OPENFILENAMEA record[3];
  char filterText[3][kFilterTextSize];
  char name[3][kDialogNameSize];
  std::string boxText;

  const char* ChooseOpenFile(FileKind kind, const FileFilter& filter) override {
    std::memset(name[kind], 'x', kDialogNameSize);
    FillOpenFileRecord(&record[kind], mainWindow, filter, filterText[kind], name[kind]);
    return nullptr;
  }
  void ShowMessage(const char* text, const char*) override { boxText = text; }
};

// The filter's bytes up to and including the second zero in a row.
std::string FilterBytes(const char* text) {
  size_t length = 0;
  while (text[length] != '\0' || text[length + 1] != '\0') ++length;
  return std::string(text, length + 2);
}

}  // namespace

TEST_F(WindowTest, DialogRecordForEachKindHoldsOnlyItsNamedFields) {
  Open();
  DialogRecorder recorder;
  platform = &recorder;
  const std::string filters[3] = {"", std::string("Cube patterns (*.q)\0*.q\0All files (*.*)\0*.*\0\0", 45),
                                  std::string("Cube moves (*.mov)\0*.mov\0All files (*.*)\0*.*\0\0", 46)};
  const char* extensions[3] = {"", "q", "mov"};
  for (FileKind kind : {kPatternFile, kMoveFile}) {
    SCOPED_TRACE(kind);
    OpenCubeFile(kind);
    EXPECT_EQ(recorder.boxText, " No input file \n");
    OPENFILENAMEA record = recorder.record[kind];
    // The 32-bit program's record; the 64-bit test build's has the same fields, wider.
    EXPECT_EQ(record.lStructSize, sizeof(void*) == 4 ? 76u : offsetof(OPENFILENAMEA, pvReserved));
    EXPECT_TRUE(record.hwndOwner == mainWindow);
    EXPECT_TRUE(record.lpstrFilter == recorder.filterText[kind]);
    EXPECT_EQ(FilterBytes(record.lpstrFilter), filters[kind]);
    EXPECT_TRUE(record.lpstrFile == recorder.name[kind]);
    EXPECT_EQ(record.nMaxFile, 260u);
    EXPECT_EQ(record.Flags, 0x00080802u);
    EXPECT_STREQ(record.lpstrDefExt, extensions[kind]);
    for (int i = 0; i < kDialogNameSize; ++i) ASSERT_EQ(recorder.name[kind][i], '\0') << i;

    // Every other field is zero.
    record.lStructSize = 0;
    record.hwndOwner = NULL;
    record.lpstrFilter = NULL;
    record.lpstrFile = NULL;
    record.nMaxFile = 0;
    record.Flags = 0;
    record.lpstrDefExt = NULL;
    const OPENFILENAMEA zero = {};
    EXPECT_EQ(std::memcmp(&record, &zero, sizeof record), 0);
  }
}

TEST_F(WindowTest, FilterTooLongForItsBufferIsCutAtAWholePair) {
  const std::string longDescription(300, 'd');
  const FileFilter filter = {{"Short (*.q)", longDescription.c_str()}, {"*.q", "*.*"}, "q"};
  OPENFILENAMEA record;
  char filterText[kFilterTextSize];
  char name[kDialogNameSize];
  FillOpenFileRecord(&record, NULL, filter, filterText, name);
  EXPECT_EQ(FilterBytes(filterText), std::string("Short (*.q)\0*.q\0\0", 17));
}
