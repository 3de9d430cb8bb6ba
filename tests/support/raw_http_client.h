// A raw HTTP client for the tests of the services on loopback: one request
// on its own connection, the whole reply as bytes.
#pragma once

#include <string>

// Sends `request` to 127.0.0.1:`port`; returns everything until the server
// closes (or stays silent for `waitMilliseconds`), "no connection" when the
// connect fails.
std::string roundTrip(int port, const std::string& request, int waitMilliseconds = 20000);
// The value of the header `name` of `reply`, as sent; empty when absent.
std::string headerOf(const std::string& reply, const std::string& name);
