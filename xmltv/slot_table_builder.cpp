#include "xmltv/slot_table_builder.h"

#include <utility>

#include "calendar/calendar.h"
#include "programme/guide_page.h"
#include "xmltv/xmltv_guide.h"

SlotTableBuilder::SlotTableBuilder(XmltvGuide& guide, const std::vector<int>& days) : guide_(guide) {
  guide_.finish();  // after it the guide only answers, on any thread
  for (int day : days) {
    for (int hour : kSlotHours) slots_.push_back({day, hour, nullptr});
  }
  helper_ = std::thread(&SlotTableBuilder::help, this);
}

SlotTableBuilder::~SlotTableBuilder() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  helper_.join();
}

void SlotTableBuilder::help() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || claimed_ == slots_.size() || mayClaim(); });
    if (stopping_ || claimed_ == slots_.size()) return;
    buildClaimed(lock);
  }
}

void SlotTableBuilder::buildClaimed(std::unique_lock<std::mutex>& lock) {
  Slot& slot = slots_[claimed_++];
  std::unique_ptr<ProgrammeTable> table;
  if (spare_.empty()) {
    table.reset(new ProgrammeTable);
  } else {
    table = std::move(spare_.back());
    spare_.pop_back();
  }
  lock.unlock();
  if (guide_.slotPage(slot.day, slot.hour).buildTable(*table)) slot.table = std::move(table);
  lock.lock();
  slot.done = true;
  changed_.notify_all();
}

std::unique_ptr<ProgrammeTable> SlotTableBuilder::takeNext() {
  std::unique_lock<std::mutex> lock(mutex_);
  Slot& slot = slots_[taken_];
  while (!slot.done) {
    if (mayClaim()) buildClaimed(lock);
    else changed_.wait(lock);
  }
  ++taken_;
  changed_.notify_all();
  return std::move(slot.table);
}

void SlotTableBuilder::giveBack(std::unique_ptr<ProgrammeTable> table) {
  if (!table) return;
  std::lock_guard<std::mutex> lock(mutex_);
  spare_.push_back(std::move(table));
}
