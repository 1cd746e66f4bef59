#pragma once
// A layout problem at which a load fails, in the load's words: the message
// that its trace shows.

#include "scene/Exception.h"
#include "scene/LayoutProblem.h"

Exception LoadFailure(const LayoutProblem& problem);
