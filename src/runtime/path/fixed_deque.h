// A ring buffer of fixed capacity with insertion and removal at any position; the path
// planner's sorted open list lives in one.
#pragma once

#include <cstdint>
#include <memory>
#include <new>

template <typename T>
class FixedDeque {
 public:
  // Drops the contents and makes room for capacity elements; false (capacity 0) when the
  // memory cannot be had.
  bool allocate(int64_t capacity) {
    data_.reset();
    capacity_ = 0;
    clear();
    if (capacity <= 0) return capacity == 0;
    data_.reset(new (std::nothrow) T[static_cast<size_t>(capacity)]);
    if (!data_) return false;
    capacity_ = capacity;
    return true;
  }

  int64_t capacity() const { return capacity_; }
  int64_t size() const {
    if (empty_) return 0;
    int64_t n = back_ - front_;
    return n <= 0 ? n + capacity_ : n;
  }
  bool isEmpty() const { return empty_; }
  bool isFull() const { return size() == capacity_; }
  void clear() {
    front_ = 0;
    back_ = 0;
    empty_ = true;
  }

  // Element at position i counted from the front; the caller keeps i below size().
  T& operator[](int64_t i) { return data_[Wrap(front_ + i)]; }
  const T& operator[](int64_t i) const { return data_[Wrap(front_ + i)]; }
  // The last element; the caller makes sure there is one.
  T& back() { return data_[Wrap(back_ - 1 + capacity_)]; }

  bool pushBack(const T& value) { return insert(size(), value); }
  // Removes the last element; false when there is none.
  bool popBack() { return remove(size() - 1); }

  // Inserts before the element at position (size() appends), moving the elements of the
  // shorter side by one. False, storing nothing, when full or position is outside 0..size().
  bool insert(int64_t position, const T& value) {
    int64_t n = size();
    if (n == capacity_ || position < 0 || position > n) return false;
    if (position < n - position) {
      // Open a gap by moving the front part one step towards the front.
      front_ = Wrap(front_ - 1 + capacity_);
      for (int64_t i = 0; i < position; ++i) (*this)[i] = (*this)[i + 1];
    } else {
      for (int64_t i = n; i > position; --i) data_[Wrap(front_ + i)] = (*this)[i - 1];
      back_ = Wrap(back_ + 1);
    }
    (*this)[position] = value;
    empty_ = false;
    return true;
  }

  // Removes the element at position, closing the gap from the shorter side; false when
  // position is outside 0..size()-1.
  bool remove(int64_t position) {
    int64_t n = size();
    if (position < 0 || position >= n) return false;
    if (position < n - 1 - position) {
      for (int64_t i = position; i > 0; --i) (*this)[i] = (*this)[i - 1];
      front_ = Wrap(front_ + 1);
    } else {
      for (int64_t i = position; i < n - 1; ++i) (*this)[i] = (*this)[i + 1];
      back_ = Wrap(back_ - 1 + capacity_);
    }
    empty_ = n == 1;
    if (empty_) clear();
    return true;
  }

 private:
  int64_t Wrap(int64_t i) const { return i >= capacity_ ? i - capacity_ : i; }

  std::unique_ptr<T[]> data_;
  int64_t capacity_ = 0;
  int64_t front_ = 0;
  int64_t back_ = 0;   // one past the last element
  bool empty_ = true;  // front_ == back_ means empty when set, full otherwise
};
