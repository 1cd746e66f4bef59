#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A whole chunk: its type, its size (header included) and the payload.
std::string ChunkOf(uint16_t type, std::string_view payload);

// A small scene: objects "crate" (its name with the zero byte), `second` and
// "crate" again, a definition "door1" and an init script "start"; no visual
// effects, so that an edit that adds one adds the section.
std::string SmallScene(std::string_view second);
