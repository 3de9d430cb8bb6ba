// Sign-in to the guide service: the session cookie for the personal tables.
#include "guide/sign_in.h"

#include <cstdio>

#include "config/settings_store.h"
#include "guide/download_server_settings.h"
#include "guide/guide_cache.h"
#include "job/job_messages.h"
#include "job/progress_sink.h"
#include "net/download_job.h"

namespace {

bool mustEscape(unsigned char byte) {
  return byte < 0x20 || byte >= 0x7F || byte == ' ' || byte == '&' || byte == '#' ||
         byte == '%' || byte == '+';
}

bool runSignIn(SettingsStore& settings, DownloadJob& job, ProgressSink& progress) {
  const std::string id = settings.tvGuideUser();
  const std::string password = settings.tvGuidePass();
  if (id.empty() || password.empty()) return progress.reportError(job::kBadCredentials);
  std::string::size_type dash = id.find('-');
  std::string id1 = dash == std::string::npos ? id : id.substr(0, dash);
  std::string id2 = dash == std::string::npos ? id : id.substr(dash + 1);
  if (id1.empty() || id2.empty()) return progress.reportError(job::kBadCredentials);
  progress.showStatus(job::kSigningIn);
  // The service answers a good login with a redirect, which the job refuses
  // as a transfer; the answer's head is what counts.
  job.fetch(progress, signInPath(id1, id2, password), "");
  if (job.client().status() != 302) return false;
  if (job.client().responseHeader("location") != "../index.html") {
    return progress.reportError(job::kNotSignedIn);
  }
  std::string cookie = job.client().responseHeader("set-cookie");
  settings.setCookie(cookie.substr(0, cookie.find(';')));
  return true;
}

}  // namespace

std::string escapeQueryValue(const std::string& value) {
  std::string escaped;
  for (unsigned char byte : value) {
    if (mustEscape(byte)) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", byte);
      escaped += hex;
    } else {
      escaped += static_cast<char>(byte);
    }
  }
  return escaped;
}

std::string signInPath(const std::string& id1, const std::string& id2,
                       const std::string& password) {
  return "/cgi-bin/signin.cgi?id1=" + escapeQueryValue(id1) + "&id2=" + escapeQueryValue(id2) +
         "&passwd=" + escapeQueryValue(password);
}

bool GuideCache::signIn(ProgressSink& progress) {
  // The old session goes before the job takes its cookie header from the
  // settings, so that the sign-in never carries it.
  settings().setCookie("");
  DownloadJob job(downloadServerOf(settings()), clock(), files());
  return runSignIn(settings(), job, progress);
}
