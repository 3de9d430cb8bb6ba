// Verb "diff-slot": the programme-level differences between two table files
// of a slot (an older and a newer one), one line each. Exit code 0 when
// they hold the same programmes, 1 when they differ, 2 on trouble.
#include <cstdio>
#include <string>

#include "bytes/buffered_reader.h"
#include "bytes/local_file.h"
#include "cli/cli.h"
#include "programme/programme_diff.h"
#include "programme/programme_table.h"

namespace {

bool readTableFile(const std::string& path, ProgrammeTable& table) {
  LocalFile file;
  BufferedReader input(file);
  if (file.openForRead(path) && table.read(input)) return true;
  std::fprintf(stderr, "rokuban-cli: %s: not a table file\n", path.c_str());
  return false;
}

// "CHANNEL HH:MM (N rows)"
std::string placeOf(const ProgrammeEntry& entry) {
  return entry.channel + " " + (entry.startTime.empty() ? "--:--" : entry.startTime) + " (" +
         std::to_string(entry.rowSpan) + " rows)";
}

int runDiffSlot(CliContext& context) {
  if (context.args.size() != 2) return usageError(context, "diff-slot");
  ProgrammeTable before, after;
  if (!readTableFile(context.args[0], before) || !readTableFile(context.args[1], after)) return 2;
  const ProgrammeDiff diff = diffProgrammes(before, after);
  for (const ProgrammeEntry& entry : diff.removed) printOut("- " + placeOf(entry) + " " + entry.title + "\n");
  for (const ProgrammeEntry& entry : diff.added) printOut("+ " + placeOf(entry) + " " + entry.title + "\n");
  for (const ProgrammeMove& move : diff.moved) {
    printOut("~ " + placeOf(move.before) + " -> " + placeOf(move.after) + " " + move.after.title + "\n");
  }
  std::printf("added %d, removed %d, moved %d\n", static_cast<int>(diff.added.size()),
              static_cast<int>(diff.removed.size()), static_cast<int>(diff.moved.size()));
  return diff.empty() ? 0 : 1;
}

const CliVerbRegistration kDiffSlot({"diff-slot", "diff-slot OLD NEW", runDiffSlot,
                                     "programmes added, removed and moved between two table files of a slot", {},
                                     "diff-slot old/120705tb.tmp 120705tb.tmp", kReadsOnly});

}  // namespace
