#include "scene/qScene2bin.h"

#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/Trace.h"

TqScene2bin::TqScene2bin(DocumentUi& ui) : ui_(ui) {
  for (ChunkList* section : {&objects, &definitions, &initScripts, &visualEffects})
    section->sectionSize = static_cast<int32_t>(kChunkHeaderSize);
  overwriteDialog_ = ui_.NewOverwriteDialog();
  stringDialog_ = ui_.NewStringDialog();
}

TqScene2bin::~TqScene2bin() { clear(); }

std::unique_ptr<TqScene2bin> NewScene2bin(DocumentUi& ui) { return std::make_unique<TqScene2bin>(ui); }

void TqScene2bin::clear() {
  ClearChunkList(heads);
  ClearChunkList(objects);
  ClearChunkList(definitions);
  ClearChunkList(visualEffects);
  ClearChunkList(initScripts);
  block_.reset();
  fileSize = 0;
  Trace("* qScene2bin.clear done *");
}

ChunkList* TqScene2bin::ListBySectionCode(uint16_t code) {
  switch (code) {
    case kObjectsSection:
      return &objects;
    case kDefinitionsSection:
      return &definitions;
    case kVisualEffectsSection:
      return &visualEffects;
    case kInitScriptsSection:
      return &initScripts;
    default:
      return nullptr;
  }
}

ChunkList& TqScene2bin::SectionListByChunkID(uint16_t SectionID) {
  switch (SectionID) {
    case kObjectChunk:
      return objects;
    case kDefinitionChunk:
      return definitions;
    case kInitScriptChunk:
      return initScripts;
    case kVisualEffectChunk:
      return visualEffects;
    default:
      throw Exception(Exception::Code::Absent, "qScene2bin.SectionListByChunkID: incorrect param SectionID");
  }
}

int32_t TqScene2bin::CountByChunkID(uint16_t SectionID) { return SectionListByChunkID(SectionID).Count(); }
