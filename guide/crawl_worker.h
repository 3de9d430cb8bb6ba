// CrawlWorker: a crawl's second thread. It runs the tasks it is given one
// after the other, in order, while the crawl downloads the next page:
// reading the page just received, writing table files. Destruction runs
// every task still waiting first.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class CrawlWorker {
 public:
  CrawlWorker();
  ~CrawlWorker();
  CrawlWorker(const CrawlWorker&) = delete;
  CrawlWorker& operator=(const CrawlWorker&) = delete;

  void post(std::function<void()> task);

 private:
  void run();

  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> tasks_;
  bool closing_ = false;
  std::thread thread_;  // last: starts once the members above exist
};
