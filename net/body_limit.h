// The most bytes the program takes from one peer's answer: a response body
// (announced or read until the connection closes) and anything else read
// until close, such as a sync file list. Far above any guide page, and low
// enough that a hostile peer cannot fill memory or the disk.
#pragma once

constexpr int kMaxBodyBytes = 16 * 1024 * 1024;
