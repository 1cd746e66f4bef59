#pragma once
// The resource number of a module's own icon, for its resource script and for
// the toolkit's forms, which show it in their caption and on the task bar.
// Explorer shows a program's first icon, so it is the first.
#define TOOLKIT_MODULE_ICON 1
