// The download server the settings name: the guide service, the proxy and
// its credentials, and the session cookie of a personal table. Every job
// that downloads takes its server from here.
#pragma once

#include "net/download_server.h"

class SettingsStore;

// The stored "cookie" goes on every request when the area is a personal
// table, even while it is empty.
DownloadServer downloadServerOf(const SettingsStore& settings);
