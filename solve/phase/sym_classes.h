// Raw coordinate values grouped into classes under a group of up to 32 symmetries, for distance tables
// kept one entry per class: each raw value knows its class and a symmetry that takes it to the class's
// own value, and each class which symmetries keep its own value.
#pragma once

#include <cstdint>

const int kMaxClassSymmetries = 32;

class SymClasses {
 public:
  SymClasses() = default;
  ~SymClasses() { Release(); }
  SymClasses(const SymClasses&) = delete;
  SymClasses& operator=(const SymClasses&) = delete;

  // conj(raw, s): what symmetry s makes of the raw value; inverse[s] undoes s, and symmetry 0 is the
  // identity. Each class is named by the first raw value met of it. False when memory was refused.
  template <class Conj>
  bool Build(uint32_t rawCount, int symCount, const int8_t* inverse, Conj conj);

  uint32_t Count() const { return count_; }
  uint32_t ClassOf(uint32_t raw) const { return packed_[raw] >> 5; }
  // A symmetry that takes the raw value to its class's own one.
  int SymOf(uint32_t raw) const { return static_cast<int>(packed_[raw] & 31); }
  uint32_t RawOf(uint32_t cls) const { return own_[cls]; }
  // The symmetries (as bits) that keep the class's own raw value.
  uint32_t Stabiliser(uint32_t cls) const { return stabiliser_[cls]; }

 private:
  static uint32_t* AllocateWords(uint32_t count);
  void Release();

  uint32_t count_ = 0;
  uint32_t* packed_ = nullptr;  // class << 5 | symmetry
  uint32_t* own_ = nullptr;
  uint32_t* stabiliser_ = nullptr;
};

template <class Conj>
bool SymClasses::Build(uint32_t rawCount, int symCount, const int8_t* inverse, Conj conj) {
  Release();
  packed_ = AllocateWords(rawCount);
  if (packed_ == nullptr) return false;
  const uint32_t unset = 0xFFFFFFFFu;
  for (uint32_t raw = 0; raw < rawCount; ++raw) packed_[raw] = unset;
  for (uint32_t raw = 0; raw < rawCount; ++raw) {
    if (packed_[raw] != unset) continue;
    const uint32_t cls = count_++;
    for (int s = 0; s < symCount; ++s) {
      const uint32_t image = conj(raw, s);
      if (packed_[image] == unset) packed_[image] = cls << 5 | static_cast<uint32_t>(inverse[s]);
    }
  }
  // Each class's own value is the first of it met, in the order the classes were numbered.
  own_ = AllocateWords(count_);
  stabiliser_ = AllocateWords(count_);
  if (own_ == nullptr || stabiliser_ == nullptr) {
    Release();
    return false;
  }
  uint32_t next = 0;
  for (uint32_t raw = 0; raw < rawCount && next < count_; ++raw) {
    if (ClassOf(raw) != next) continue;
    own_[next] = raw;
    stabiliser_[next] = 0;
    for (int s = 0; s < symCount; ++s)
      if (conj(raw, s) == raw) stabiliser_[next] |= 1u << s;
    ++next;
  }
  return true;
}
