#pragma once
// Waiting in a test for something that another thread or process does: the
// test waits for the thing itself, never for a time that it hopes is enough.

#include <chrono>
#include <functional>

// Polls `condition` every `interval` until it holds (true) or 30 s have
// passed (false), a deadline that only a hung program reaches.
bool PollUntil(const std::function<bool()>& condition,
               std::chrono::microseconds interval = std::chrono::milliseconds(1));
