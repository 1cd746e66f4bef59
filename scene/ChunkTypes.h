#pragma once

#include <cstdint>

// Every chunk, at any depth: a 16-bit type, then a 32-bit size that counts
// these six header bytes too.
constexpr uint32_t kChunkHeaderSize = 6;

constexpr uint16_t kRootChunk = 0x4C53;  // the bytes "SL"

// Section codes.
constexpr uint16_t kObjectsSection = 0x4000;
constexpr uint16_t kDefinitionsSection = 0xAE20;
constexpr uint16_t kVisualEffectsSection = 0xAE02;
constexpr uint16_t kInitScriptsSection = 0xAE50;

// Scene item chunk types, one per section.
constexpr uint16_t kObjectChunk = 0x4010;
constexpr uint16_t kDefinitionChunk = 0xAE21;
constexpr uint16_t kVisualEffectChunk = 0xAE03;
constexpr uint16_t kInitScriptChunk = 0xAE51;

// Sub-chunks of objects and definitions.
constexpr uint16_t kObjectNameChunk = 0x0010;
constexpr uint16_t kObjectTypeChunk = 0x4011;
constexpr uint16_t kLightmapChunk = 0x4090;
constexpr uint16_t kDefinitionNameChunk = 0xAE23;
constexpr uint16_t kDefinitionTypeChunk = 0xAE22;
