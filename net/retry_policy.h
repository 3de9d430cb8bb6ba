// RetryPolicy: how often a page fetch is tried and how long is waited
// between tries.
#pragma once

struct RetryPolicy {
  int attempts = 3;
  int waitSeconds = 30;
  // Whether a refusal that waiting does not mend (a 4xx answer other than
  // 408 and 429: "not found", "forbidden") is tried again, as the guide
  // service's pages always were; a document of the user's is not.
  bool retriesRefusals = true;
};
