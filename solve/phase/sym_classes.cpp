// The classes' storage, allocated without throwing so that a 32-bit program can fall back.
#include "solve/phase/sym_classes.h"

#include <new>

uint32_t* SymClasses::AllocateWords(uint32_t count) {
  return new (std::nothrow) uint32_t[count > 0 ? count : 1];
}

void SymClasses::Release() {
  delete[] packed_;
  delete[] own_;
  delete[] stabiliser_;
  packed_ = own_ = stabiliser_ = nullptr;
  count_ = 0;
}
