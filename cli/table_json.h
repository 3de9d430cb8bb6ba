// The JSON form of a table file that "parse-page", "dump-table" and
// "show --json" print: UTF-8, one line, every cell at its first row.
#pragma once

#include <string>

class ProgrammeTable;

// {"key": K, "columns": [{"rows": N, "cells": [{"row", "span", "number",
// "time", "body", "bg"}, ...]}, ...]} and a newline.
std::string tableJson(const ProgrammeTable& table);
