#pragma once
// The second float of a sound's radii: the chunk keeps the width of the
// decrease zone beyond the const volume radius; the dialog shows and takes the
// absolute radius at which the decrease ends. Its text and the width written
// from it are worked out here together, so that a sound shown and confirmed
// without edits keeps its width.

#include <string>

// The absolute radius as the dialog shows it: the sum of the stored floats,
// with the digits that the writer needs to get the same width back from it.
std::string DecreaseRadiusText(float constRadius, float width);

// The width to store for the absolute radius in `decreaseRadius`, beyond
// `constRadius` as it is written (a single float): the difference taken in
// double, rounded once.
float DecreaseWidth(const std::string& decreaseRadius, float constRadius);
