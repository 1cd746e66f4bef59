#include "editing/RecoveryWriter.h"

#include "editing/RecoveryFile.h"
#include "os/FileSystem.h"
#include "os/Paths.h"
#include "scene/Exception.h"
#include "scene/FileReplacement.h"

RecoveryWriter::RecoveryWriter(std::string path) : path_(std::move(path)), thread_([this] { Run(); }) {}

RecoveryWriter::~RecoveryWriter() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void RecoveryWriter::Keep(SceneSnapshot scene, std::string owner) {
  Ask(std::make_unique<Request>(Request{true, std::move(scene), std::move(owner)}));
}

void RecoveryWriter::Remove() { Ask(std::make_unique<Request>()); }

void RecoveryWriter::Ask(std::unique_ptr<Request> request) {
  std::unique_ptr<Request> replaced;  // let go of outside the lock: it may hold the last handle of many chunks
  {
    std::lock_guard lock(mutex_);
    replaced = std::move(pending_);
    pending_ = std::move(request);
  }
  changed_.notify_all();
}

void RecoveryWriter::Finish() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return pending_ == nullptr && !busy_; });
}

std::string RecoveryWriter::TakeFailure() {
  std::lock_guard lock(mutex_);
  if (!failing_ || told_) return {};
  told_ = true;
  return failure_;
}

void RecoveryWriter::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return pending_ != nullptr || stopping_; });
    if (pending_ == nullptr) return;
    std::unique_ptr<Request> request = std::move(pending_);
    busy_ = true;
    lock.unlock();
    std::string failure = Do(*request);
    request.reset();
    lock.lock();
    busy_ = false;
    if (failure.empty()) {
      failing_ = told_ = false;
    } else if (!failing_) {
      failing_ = true;
      failure_ = std::move(failure);
    }
    changed_.notify_all();
  }
}

std::string RecoveryWriter::Do(const Request& request) const {
  if (!request.keep) {
    // Nothing there is as good as removed.
    static_cast<void>(os::RemoveFile(path_));
    return {};
  }
  try {
    if (const os::Status folder = os::CreateFolders(os::FolderOf(path_)); !folder.ok()) return folder.reason();
    TFileReplacement file(path_);
    WriteRecovery(file.Stream(), request.owner, request.scene);
    file.Commit();
    return {};
  } catch (const FileWriteError& failure) {
    return path_ + ": " + (failure.Reason.empty() ? failure.Message : failure.Reason);
  } catch (const std::exception& failure) {
    return path_ + ": " + FailureMessage(failure);
  }
}
