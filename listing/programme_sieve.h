// ProgrammeSieve: a test a listing puts each programme to before it builds
// the programme's whole record, so that a search over a household's week
// builds records only for the programmes it can find.
#pragma once

#include <string>

#include "listing/programme_record.h"

class ProgrammeSieve {
 public:
  virtual ~ProgrammeSieve() = default;
  // `draft` holds the programme's channel, start, genre, title and
  // description; nothing else is filled. True keeps the programme.
  virtual bool keeps(const ProgrammeRecord& draft) const = 0;
  // Asked before the draft is made, with bytes that hold every byte pair
  // of the programme's title and description: false when keeps would
  // refuse any draft whose texts hold no pair that `bytes` lacks.
  virtual bool mayKeepTexts(const std::string& bytes) const {
    (void)bytes;
    return true;
  }
};
