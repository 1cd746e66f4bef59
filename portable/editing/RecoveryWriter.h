#pragma once
// Keeps an editor's recovery file up to date without holding up its edits:
// each state asked for is written on a thread of its own, safely (see
// TFileReplacement), and when several are asked for during one write only
// the newest is written next.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "scene/SceneDocument.h"

class RecoveryWriter {
 public:
  // `path`: the recovery file; its folder is made when a write needs it.
  explicit RecoveryWriter(std::string path);
  RecoveryWriter(const RecoveryWriter&) = delete;
  RecoveryWriter& operator=(const RecoveryWriter&) = delete;
  // Does what was asked last, then stops.
  ~RecoveryWriter();

  const std::string& Path() const { return path_; }
  // The file to hold `scene`, as unsaved changes to `owner`.
  void Keep(SceneSnapshot scene, std::string owner);
  // The file to go.
  void Remove();
  // Waits until what was asked last is done.
  void Finish();
  // Why a write failed, given once for a run of failed writes (a full disk
  // fails each one); empty when there is nothing new to tell.
  std::string TakeFailure();

 private:
  struct Request {
    bool keep = false;
    SceneSnapshot scene;
    std::string owner;
  };
  void Ask(std::unique_ptr<Request> request);
  void Run();
  // Does one request; why it failed, or empty.
  std::string Do(const Request& request) const;

  const std::string path_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::unique_ptr<Request> pending_;  // the newest asked for, not begun
  bool busy_ = false;                 // a request is being done
  bool stopping_ = false;
  std::string failure_;
  bool failing_ = false;  // the last write failed
  bool told_ = false;     // and that was told
  std::thread thread_;    // last: it starts on what is above
};
