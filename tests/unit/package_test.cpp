// Expanding the package's streams: sync-flushed zlib data without a final
// block or trailer, damaged data, and the progress bar's arithmetic; and the
// start-up checksum over files of every length around its read size, and
// its verdict on damaged installers.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <zlib.h>
#include <cstring>

#include "compress.h"
#include "installer.h"
#include "package/package.h"
#include "installer.h"
#include "support/files.h"
#include "support/installers.h"
#include "support/ui_driver.h"

namespace {

std::vector<std::uint8_t> Sample(std::size_t size) {
  std::vector<std::uint8_t> data(size);
  std::uint32_t state = 12345;
  for (std::size_t i = 0; i < size; i++) {
    state = state * 1103515245 + 12345;
    // Half text-like, half noise, so that streams span several 64 KB chunks.
    data[i] = (i / 5000) % 2 ? std::uint8_t(state >> 24) : std::uint8_t('a' + i % 26);
  }
  return data;
}

int Inflate(const std::vector<std::uint8_t>& stream, std::vector<std::uint8_t>& output, HWND progress = nullptr,
            DWORD total = 0) {
  return InflateBuffer(stream.data(), (int)stream.size(), output.data(), (DWORD)output.size(), progress, total);
}

TEST(InflateBuffer, SyncFlushedStreamWithoutFinalBlockInflatesCompletely) {
  for (std::size_t size : {0u, 1u, 4096u, 70000u, 300000u}) {
    auto data = Sample(size);
    auto stream = corvel::compressStream(data);
    std::vector<std::uint8_t> output(size);
    ASSERT_EQ(Inflate(stream, output), (int)size) << size;
    EXPECT_EQ(output, data);
  }
}

TEST(InflateBuffer, TrailingZeroBytesDoNotCostAnyData) {
  auto data = Sample(20000);
  auto stream = corvel::compressStream(data);
  stream.insert(stream.end(), 3000, 0);
  std::vector<std::uint8_t> output(data.size());
  EXPECT_EQ(Inflate(stream, output), (int)data.size());
  EXPECT_EQ(output, data);
}

TEST(InflateBuffer, OutputNeverPassesItsCapacity) {
  auto data = Sample(30000);
  auto stream = corvel::compressStream(data);
  std::vector<std::uint8_t> output(10000 + 16, 0xCC);
  EXPECT_EQ(InflateBuffer(stream.data(), (int)stream.size(), output.data(), 10000, nullptr, 0), 10000);
  EXPECT_TRUE(std::equal(data.begin(), data.begin() + 10000, output.begin()));
  for (std::size_t i = 10000; i < output.size(); i++) ASSERT_EQ(output[i], 0xCC) << "written past the end";
}

TEST(InflateBuffer, DamagedStreamStopsEarlyWithoutHarm) {
  auto data = Sample(50000);
  auto stream = corvel::compressStream(data);
  std::vector<std::uint8_t> output(data.size());

  auto badHeader = stream;
  badHeader[0] = 0x00;
  EXPECT_EQ(Inflate(badHeader, output), 0);

  auto garbage = stream;
  for (std::size_t i = garbage.size() / 3; i < garbage.size(); i += 7) garbage[i] ^= 0xA5;
  int produced = Inflate(garbage, output);
  EXPECT_GE(produced, 0);
  EXPECT_LT(produced, (int)data.size());

  auto cut = std::vector<std::uint8_t>(stream.begin(), stream.begin() + stream.size() / 2);
  produced = Inflate(cut, output);
  EXPECT_GT(produced, 0);
  EXPECT_LT(produced, (int)data.size());
  EXPECT_TRUE(std::equal(output.begin(), output.begin() + produced, data.begin()));
}

class Progress : public testing::Test {
 protected:
  void SetUp() override {
    InitCommonControls();
    bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(bar);
    SendMessageA(bar, PBM_SETRANGE32, 0, 100);
    ForgetProgress();
  }
  void TearDown() override { DestroyWindow(bar); }
  HWND bar = nullptr;
};

// The bar moves from where the worker last put it by the share of the total
// that this stream's stored bytes make up, counted in whole chunks.
TEST_F(Progress, PositionGrowsByTheShareOfTheTotal) {
  auto data = Sample(200000);
  auto stream = corvel::compressStream(data);
  std::vector<std::uint8_t> output(data.size());
  MoveProgress(bar, 10);
  DWORD total = (DWORD)stream.size() * 4;
  ASSERT_EQ(Inflate(stream, output, bar, total), (int)data.size());
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 10 + (LRESULT)(stream.size() * 100 / total));
}

TEST_F(Progress, LargeStreamsDoNotOverflowTheArithmetic) {
  // About 48 MB of stored bytes against a 60 MB total: consumed * 100 passes
  // 32 bits halfway through, which must not wrap the position.
  auto data = Sample(48u << 20);
  auto stream = corvel::compressStream(data.data(), data.size(), 0);
  std::vector<std::uint8_t> output(data.size());
  DWORD total = 60u << 20;
  ASSERT_EQ(Inflate(stream, output, bar, total), (int)data.size());
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), (LRESULT)((unsigned long long)stream.size() * 100 / total));
}

// A position the bar already has from the worker is not sent again; after
// ForgetProgress the next one goes out whatever it is.
TEST_F(Progress, RepeatedPositionsAreNotSentAgain) {
  MoveProgress(bar, 30);
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 30);
  SendMessageA(bar, PBM_SETPOS, 50, 0);   // moved behind the worker's back
  MoveProgress(bar, 30);
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 50);
  ForgetProgress();
  MoveProgress(bar, 30);
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 30);
}

TEST_F(Progress, NoTotalLeavesTheBarAlone) {
  auto stream = corvel::compressStream(Sample(10000));
  std::vector<std::uint8_t> output(10000);
  SendMessageA(bar, PBM_SETPOS, 42, 0);
  Inflate(stream, output, bar, 0);
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 42);
}

// The sum is read in large pieces: lengths just short of, at and past a
// piece, and several pieces with a tail, must all give the writer's value,
// unsigned or signed (a certificate table across the pieces' bounds, the
// header fields that signing sets filled in).
TEST(OwnChecksum, IntactFilesOfEveryLengthAroundTheReadSizePass) {
  std::string folder = files::MakeTemporaryFolder("corvel-checksum");
  const DWORD lengths[] = {0, 1, ChecksumChunk - 1, ChecksumChunk, ChecksumChunk + 1, 3 * ChecksumChunk + 17};
  for (DWORD length : lengths) {
    for (bool isSigned : {false, true}) {
      SCOPED_TRACE(testing::Message() << length << (isSigned ? " signed" : ""));
      std::vector<std::uint8_t> bytes = Sample(ChecksumStart + length);
      if (isSigned) {
        const DWORD pe = 64, table = 1000;
        bytes.resize(ChecksumStart + length + pe + SecurityDirectoryEntry + table);
        std::memcpy(&bytes[0x3C], &pe, 4);
        std::memset(&bytes[pe + SecurityDirectoryEntry], 0, 8);
        std::memset(&bytes[pe + ImageChecksumField], 0, 4);
        std::uint32_t sum = corvel::computeFileChecksum(bytes.data(), bytes.size() - table);
        DWORD fields[2] = {(DWORD)bytes.size() - table, table};
        std::memcpy(&bytes[pe + SecurityDirectoryEntry], fields, 8);
        std::memset(&bytes[pe + ImageChecksumField], 0x77, 4);
        ASSERT_TRUE(corvel::findSignature(bytes.data(), bytes.size()));
        ASSERT_EQ(corvel::computeFileChecksum(bytes.data(), bytes.size()), sum);
      }
      corvel::updateFileChecksum(bytes);
      BYTE header[DosHeaderSize] = {0};
      std::memcpy(header, bytes.data(), bytes.size() < sizeof(header) ? bytes.size() : sizeof(header));
      std::string path = folder + "\\setup.exe";
      ASSERT_TRUE(files::Write(path, bytes));
      HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
      ASSERT_NE(file, INVALID_HANDLE_VALUE);
      // The file is read from offset 40 whatever the position before.
      SetFilePointer(file, 7, 0, FILE_BEGIN);
      EXPECT_TRUE(VerifyOwnChecksum(file, header));
      CloseHandle(file);
    }
  }
  files::RemoveTree(folder);
}

struct Verdict {
  bool passed = false;
  std::vector<std::string> boxes;   // caption: text, in the order shown
};

// The check of an installer file as start-up makes it, on a thread of its
// own: every box it shows is read and answered.
Verdict CheckFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  Verdict verdict;
  if (!files::Write(path, bytes)) return verdict;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
  // Start-up reads the header into a buffer of its size; a cut file leaves the rest zero.
  BYTE header[DosHeaderSize] = {0};
  std::memcpy(header, bytes.data(), bytes.size() < sizeof(header) ? bytes.size() : sizeof(header));
  struct Run {
    HANDLE file;
    const BYTE* header;
    bool passed;
  } run = {file, header, false};
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](void* parameter) -> DWORD {
        Run* run = static_cast<Run*>(parameter);
        run->passed = VerifyOwnChecksum(run->file, run->header);
        return 0;
      },
      &run, 0, nullptr);
  while (WaitForSingleObject(thread, 20) == WAIT_TIMEOUT) {
    ui::MessageBox box = ui::WaitForMessageBox(GetCurrentProcessId(), 100);
    if (!box) continue;
    verdict.boxes.push_back(box.caption + ": " + box.text);
    ui::AnswerBox(box, IDOK);
  }
  CloseHandle(thread);
  CloseHandle(file);
  verdict.passed = run.passed;
  return verdict;
}

// Every byte from offset 40 on counts: flipped ones at sampled offsets (the
// unused DOS fields and program, the package's first byte, its last, and
// bytes between), and cuts anywhere in the package. Each one is reported
// with exactly one message.
TEST(OwnChecksum, DamagedInstallersAreReportedWithOneMessage) {
  std::vector<std::uint8_t> good = installers::MakeFull(files::StubImage(true));
  ASSERT_FALSE(good.empty()) << "CORVEL_STUB32 does not name the shipped stub";
  std::string folder = files::MakeTemporaryFolder("corvel-damaged");
  std::string path = folder + "\\setup.exe";
  Verdict intact = CheckFile(path, good);
  EXPECT_TRUE(intact.passed);
  EXPECT_TRUE(intact.boxes.empty());
  size_t package = good[corvel::kPackageOffsetField] | good[corvel::kPackageOffsetField + 1] << 8;
  std::vector<size_t> offsets = {40, 41, 0x4E, 0x60, 64, 100, package, package + 20, good.size() - 1};
  std::uint64_t state = 7;
  while (offsets.size() < 60) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    offsets.push_back(package + (size_t)((state >> 33) % (good.size() - package)));
  }
  std::vector<std::vector<std::uint8_t>> damaged;
  std::vector<std::string> names;
  for (size_t offset : offsets) {
    damaged.push_back(good);
    damaged.back()[offset] ^= (std::uint8_t)(1 << (offset % 8));
    names.push_back("flipped byte at " + std::to_string(offset));
  }
  std::vector<size_t> sizes = {package, package + 7, good.size() - 100, good.size() - 1};
  for (int step = 1; step < 10; step++) sizes.push_back(package + (good.size() - package) * step / 10);
  for (size_t size : sizes) {
    damaged.emplace_back(good.begin(), good.begin() + size);
    names.push_back("cut at " + std::to_string(size));
  }
  for (size_t index = 0; index < damaged.size(); index++) {
    SCOPED_TRACE(names[index]);
    Verdict verdict = CheckFile(path, damaged[index]);
    EXPECT_FALSE(verdict.passed);
    EXPECT_EQ(verdict.boxes, std::vector<std::string>{"Corvelsetup: The installer file is damaged!"});
  }
  files::RemoveTree(folder);
}

}  // namespace
