# The tree's floors and what each stands on, bottom first, written once
# here. The build makes a static library of each core floor that links
# only the floors it stands on; layering_tests lets a file include its own
# floor and everything under it, and checks README's table against these
# lines. Read by CMake and by that test: keep one quoted entry a line.

# Core floors, "floor: the floors it stands on". A floor is a folder.
set(ROKUBAN_CORE_FLOORS
  "os:"
  "job:"
  "calendar: os"
  "bytes: os"
  "config: os job bytes"
  "net: os job bytes"
  "json: net"
  "programme: net"
  "guide: programme calendar config"
  "sync: guide"
  "listing: guide"
  "xmltv: listing"
  "search: listing"
  "watch: search"
  "tuner: xmltv json"
  "recorder: watch xmltv json"
  "ui/model: sync tuner recorder"
  "webguide: tuner recorder"
)

# The programs, tests and tools above the core: no libraries of their own
# in this order, but held to it by layering_tests.
set(ROKUBAN_UPPER_FLOORS
  "ui: ui/model"
  "app: ui"
  "cli: webguide ui/model"
  "tools: webguide ui/model"
  "fuzz: tools"
  "bench: tools"
  "tests: app cli tools"
)

# Single headers a floor may include from above it, "floor: header",
# because of where a thing lives: the one clock of tests and benchmarks.
set(ROKUBAN_FORCED_INCLUDES
  "bench: tests/support/fake_clock.h"
)

# rokuban_floor_entry(ENTRY NAME_VAR REST_VAR): "name: a b" -> name, "a;b".
function(rokuban_floor_entry entry name_var rest_var)
  string(FIND "${entry}" ":" colon)
  string(SUBSTRING "${entry}" 0 ${colon} name)
  math(EXPR after "${colon} + 1")
  string(SUBSTRING "${entry}" ${after} -1 rest)
  string(REGEX MATCHALL "[^ ]+" rest "${rest}")
  set(${name_var} ${name} PARENT_SCOPE)
  set(${rest_var} "${rest}" PARENT_SCOPE)
endfunction()

# rokuban_library_of(FLOOR VAR): the library of a floor, "ui/model" ->
# rokuban_ui_model.
function(rokuban_library_of floor var)
  string(REPLACE "/" "_" name "${floor}")
  set(${var} rokuban_${name} PARENT_SCOPE)
endfunction()

# Per core floor's library: ROKUBAN_BELOW_<library>, the libraries it
# links; ROKUBAN_FOLDER_<library>, its folder.
foreach(entry ${ROKUBAN_CORE_FLOORS})
  rokuban_floor_entry("${entry}" floor below)
  rokuban_library_of(${floor} library)
  set(libraries "")
  foreach(under ${below})
    rokuban_library_of(${under} under_library)
    list(APPEND libraries ${under_library})
  endforeach()
  set(ROKUBAN_BELOW_${library} ${libraries})
  set(ROKUBAN_FOLDER_${library} ${floor})
  list(APPEND ROKUBAN_CORE_LIBRARIES ${library})
endforeach()
