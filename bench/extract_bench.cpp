// Extraction throughput of the install worker: a deterministic payload of
// mixed file sizes and compressibility, packed into an installer and
// installed by the worker the way the installing page runs it. Prints the
// payload, the package and the median of the runs in MB/s.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/access.h"
#include "common/heap.h"
#include "common/text.h"
#include "engine/delayed.h"
#include "engine/variables.h"
#include "script/model.h"
#include "startup/process.h"
#include "support/files.h"
#include "worker_support.h"

namespace {

// A small generator of its own, so that every run packs the same bytes.
struct Random {
  std::uint64_t state;
  std::uint32_t Next() {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return (std::uint32_t)(state >> 33);
  }
};

std::vector<std::uint8_t> Contents(Random& random, std::size_t size) {
  static const char* words[] = {"setup ", "folder ", "install ", "window ", "version ", "registry ", "file "};
  std::vector<std::uint8_t> data(size);
  bool text = random.Next() % 3 != 0;   // two in three compress well
  for (std::size_t i = 0; i < size;) {
    if (text) {
      const char* word = words[random.Next() % 7];
      for (; *word && i < size; word++) data[i++] = (std::uint8_t)*word;
    } else {
      data[i++] = (std::uint8_t)random.Next();
    }
  }
  return data;
}

// About 100 MB: many small files, some of a few megabytes, a few large ones.
corvel::PackageDescription Payload(std::uint64_t* total, std::size_t* count) {
  Random random{20261207};
  corvel::PackageDescription package;
  *total = 0;
  *count = 0;
  for (int folder = 0; folder < 10; folder++) {
    corvel::Group group;
    group.folder = "%InstallPath%\\part" + std::to_string(folder);
    for (int file = 0; file < 60; file++) {
      std::uint32_t pick = random.Next() % 100;
      std::size_t size = pick < 80 ? 1024 + random.Next() % 65536
                         : pick < 99 ? 128 * 1024 + random.Next() % (1024 * 1024)
                                     : 4 * 1024 * 1024 + random.Next() % (2 * 1024 * 1024);
      group.entries.push_back(corvel::fileEntry("file" + std::to_string(file) + ".bin", 0, Contents(random, size),
                                                true, 6));
      *total += size;
      ++*count;
    }
    package.groups.push_back(group);
  }
  return package;
}

void StartProcessState(const std::string& temporary) {
  PrivateHeap = HeapCreate(0, 0, 0);
  LoadListFunctions();
  LoadSecurityFunctions();
  CreateList(&FieldList, 15);
  ImpersonateSelf(SecurityImpersonation);
  OpenThreadToken(GetCurrentThread(), TOKEN_ALL_ACCESS, TRUE, &SecurityToken);
  TemporaryFolder = DuplicateString(temporary.c_str(), 0);
}

void ResetModel() {
  if (Model.languageIds) {
    PointerArray.Destroy(Model.languageIds);
    DestroyModel();
    DestroyVariableTable();
  }
  ZeroMemory(&Model, sizeof(Model));
  CreateModelLists();
  Model.languageIds = (StringList)PointerArray.Create(10);
  CreateVariableTable();
  WorkerGateEvent = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  InstallFinishedEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
  std::string root = files::MakeTemporaryFolder("corvel-extract-bench");
  std::string temporary = root + "\\temp";
  CreateDirectoryA(temporary.c_str(), nullptr);
  StartProcessState(temporary);

  std::uint64_t payload = 0;
  std::size_t count = 0;
  corvel::PackageDescription package = Payload(&payload, &count);
  std::vector<double> rates;
  std::size_t installerSize = 0;
  for (int run = 0; run < runs; run++) {
    std::string target = root + "\\App" + std::to_string(run);
    auto installer = corvel::writeInstaller(files::StubImage(), package,
                                            worker::BaseRecords("ExtractBench", target, false));
    if (!installer.ok()) {
      fprintf(stderr, "extract bench: %s\n", installer.error.c_str());
      return 1;
    }
    installerSize = installer.value.size();
    ResetModel();
    if (!worker::LoadInstaller(root + "\\setup.exe", installer.value)) return 1;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    worker::Outcome outcome = worker::Execute(worker::Run());
    QueryPerformanceCounter(&end);
    worker::CloseInstaller();
    if (!outcome.succeeded) {
      fprintf(stderr, "extract bench: the installation failed\n");
      return 1;
    }
    double seconds = (double)(end.QuadPart - start.QuadPart) / frequency.QuadPart;
    rates.push_back(payload / 1e6 / seconds);
    files::RemoveTree(target);
  }
  std::sort(rates.begin(), rates.end());
  printf("| payload | files | installer | runs | extraction (median) |\n|---|---|---|---|---|\n");
  printf("| %.1f MB | %zu | %.1f MB | %d | %.1f MB/s |\n", payload / 1e6, count, installerSize / 1e6, runs,
         rates[rates.size() / 2]);
  files::RemoveTree(root);
  return 0;
}
