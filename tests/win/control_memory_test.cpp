// The pool the rich-edit control takes its blocks from under Wine, and the
// import-table switch that gives them to it.
#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/editor/control_memory.h"
#include "app/platform/import_patch.h"
#include "app/platform/slab_pool.h"

namespace quillo {
namespace {

struct Held {
  unsigned char* p;
  size_t size;
  unsigned char mark;
};

bool Intact(const Held& h) {
  for (size_t i = 0; i < h.size; ++i)
    if (h.p[i] != h.mark) return false;
  return true;
}

// A random life of many blocks, as an editor's would be: every block keeps
// what was written into it while others come, go and change size, reads
// zero where it was asked to be zero, and stays within the pool's own memory.
TEST(SlabPool, BlocksKeepTheirBytesThroughARandomLife) {
  SlabPool pool;
  std::mt19937 random(20261208);
  std::vector<Held> held;
  std::uniform_int_distribution<size_t> small(0, 600);
  std::uniform_int_distribution<size_t> any(0, SlabPool::kLargestBlock);
  for (int step = 0; step < 60000; ++step) {
    const unsigned roll = random() % 10;
    if (roll < 5 || held.empty()) {
      const size_t size = random() % 4 ? small(random) : any(random);
      auto* p = static_cast<unsigned char*>(pool.Allocate(size, true));
      ASSERT_NE(p, nullptr);
      ASSERT_TRUE(pool.Owns(p));
      ASSERT_GE(pool.BlockSize(p), size);
      for (size_t i = 0; i < pool.BlockSize(p); ++i) ASSERT_EQ(p[i], 0) << "asked zeroed, size " << size;
      const auto mark = static_cast<unsigned char>(1 + step % 250);
      std::memset(p, mark, size);
      held.push_back({p, size, mark});
    } else if (roll < 8) {
      const size_t i = random() % held.size();
      ASSERT_TRUE(Intact(held[i])) << "block of " << held[i].size << " changed under its owner";
      pool.Free(held[i].p);
      held[i] = held.back();
      held.pop_back();
    } else {
      Held& h = held[random() % held.size()];
      const size_t size = small(random);
      if (!pool.ResizeInPlace(h.p, size, false)) continue;
      if (size > h.size) {
        for (size_t i = h.size; i < size; ++i) ASSERT_EQ(h.p[i], 0) << "grown in place, the new bytes read zero";
        std::memset(h.p + h.size, h.mark, size - h.size);
      }
      h.size = size;
    }
  }
  for (const Held& h : held) EXPECT_TRUE(Intact(h));
}

TEST(SlabPool, WhatItDoesNotTakeAndWhatItDoesNotOwn) {
  SlabPool pool;
  EXPECT_EQ(pool.Allocate(SlabPool::kLargestBlock + 1, false), nullptr) << "larger blocks stay with the heap";
  void* heapBlock = HeapAlloc(GetProcessHeap(), 0, 64);
  int onStack = 0;
  EXPECT_FALSE(pool.Owns(heapBlock));
  EXPECT_FALSE(pool.Owns(&onStack));
  EXPECT_FALSE(pool.Free(heapBlock)) << "a foreign block is left to its owner";
  HeapFree(GetProcessHeap(), 0, heapBlock);

  void* p = pool.Allocate(100, false);
  EXPECT_FALSE(pool.ResizeInPlace(p, pool.BlockSize(p) + 1, true)) << "no room to grow where it is";
  EXPECT_TRUE(pool.ResizeInPlace(p, 10, true)) << "a shrink that must stay, stays";
  EXPECT_FALSE(pool.ResizeInPlace(p, 10, false)) << "otherwise half a block empty is worth a move";
  pool.Free(p);
}

// A large document's blocks, freed when it is closed, give their memory back
// but for a small reserve, and the next document of the same size takes no
// more than the first did.
TEST(SlabPool, MemoryGoesBackWhenTheBlocksGo) {
  SlabPool pool;
  size_t firstPeak = 0;
  for (int round = 0; round < 3; ++round) {
    std::vector<void*> blocks;
    for (size_t i = 0; i < 200000; ++i) blocks.push_back(pool.Allocate(16 + (i * 37) % 700, false));
    if (round == 0) firstPeak = pool.CommittedBytes();
    EXPECT_LE(pool.CommittedBytes(), firstPeak);
    for (void* p : blocks) pool.Free(p);
    EXPECT_LE(pool.CommittedBytes(), 64 * SlabPool::kSlabBytes);
  }
  EXPECT_GT(firstPeak, size_t(200000) * 16);
}

DWORD WINAPI FakeProcessId() { return 4242; }

// Out of line, so that each call reads the import table afresh.
__attribute__((noinline)) DWORD ProcessIdThroughTheTable() { return GetCurrentProcessId(); }

TEST(ImportPatch, AModulesCallsGoWhereTheTableSends) {
  HMODULE self = GetModuleHandleW(nullptr);
  const DWORD real = ProcessIdThroughTheTable();
  void* before = ReplaceImport(self, "KERNEL32.dll", "GetCurrentProcessId", reinterpret_cast<void*>(&FakeProcessId));
  ASSERT_NE(before, nullptr) << "the test program imports it by name";
  EXPECT_EQ(ProcessIdThroughTheTable(), 4242u);
  EXPECT_EQ(ReplaceImport(self, "kernel32.dll", "GetCurrentProcessId", reinterpret_cast<void*>(&FakeProcessId)),
            reinterpret_cast<void*>(&FakeProcessId))
      << "asked again, it is already in place";
  ReplaceImport(self, "kernel32.dll", "GetCurrentProcessId", before);
  EXPECT_EQ(ProcessIdThroughTheTable(), real);

  EXPECT_EQ(ReplaceImport(self, "kernel32.dll", "NoSuchFunction", before), nullptr);
  EXPECT_EQ(ReplaceImport(self, "nosuch.dll", "GetCurrentProcessId", before), nullptr);
  EXPECT_EQ(ReplaceImport(nullptr, "kernel32.dll", "GetCurrentProcessId", before), nullptr);
}

// Under Wine the control's module gets the pool, and the control works on it:
// a document goes in, comes out the same, and goes again.
TEST(ControlMemory, TheControlRunsOnThePool) {
  HMODULE richEdit = LoadLibraryW(L"riched20.dll");
  ASSERT_NE(richEdit, nullptr);
  ASSERT_TRUE(GiveControlItsOwnMemory(richEdit)) << "the tests run under Wine";
  EXPECT_TRUE(GiveControlItsOwnMemory(richEdit)) << "a second call changes nothing";
  std::wstring text;
  for (int i = 0; i < 20000; ++i) text += L"Строка " + std::to_wstring(i) + L" обычного текста\r\n";
  for (int round = 0; round < 2; ++round) {
    HWND edit = CreateWindowExW(0, L"RichEdit20W", L"", WS_POPUP | ES_MULTILINE, 0, 0, 400, 300, nullptr,
                                nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    std::wstring back(text.size() + 1, L'\0');
    back.resize(static_cast<size_t>(
        SendMessageW(edit, WM_GETTEXT, back.size(), reinterpret_cast<LPARAM>(back.data()))));
    EXPECT_TRUE(back == text) << "round " << round;
    DestroyWindow(edit);
  }
  FreeLibrary(richEdit);
}

}  // namespace
}  // namespace quillo
