#pragma once
// A layout problem at which a load fails, in the load's words: the message
// that its trace shows.

#include "scene/Exception.h"
#include "scene/LayoutProblem.h"

Exception LoadFailure(const LayoutProblem& problem);

// What is wrong with a file that does not begin with a scene's signature, in
// words that name no file: the trace's line names the scene file it was
// asked for, whatever the file was called.
inline constexpr char kNoSignatureReason[] = "the file does not begin with 53 4C (\"SL\"), the signature of a scene";
