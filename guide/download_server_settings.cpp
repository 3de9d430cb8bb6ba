#include "guide/download_server_settings.h"

#include "config/settings_store.h"

DownloadServer downloadServerOf(const SettingsStore& settings) {
  DownloadServer server;
  server.server = settings.server();
  server.port = settings.port();
  server.proxyServer = settings.proxyServer();
  server.proxyPort = settings.proxyPort();
  server.proxyUser = settings.proxyUser();
  server.proxyPassword = settings.proxyPass();
  if (settings.isPersonalTable()) server.headers["cookie"] = settings.cookie();
  return server;
}
