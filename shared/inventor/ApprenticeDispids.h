#pragma once

#include <windows.h>
#include <oaidl.h>

// The dispatch identifiers by which Apprentice's members are called, stable across its releases.
namespace pw::inventor::dispid {

inline constexpr DISPID kOpen = 0x3002502;
inline constexpr DISPID kTransientGeometry = 0x300250f;
inline constexpr DISPID kCreateMatrix = 0x4004681;
inline constexpr DISPID kFileOptions = 0x3002505;
inline constexpr DISPID kStartFolder = 0x3001f01;
inline constexpr DISPID kNeedsMigrating = 0x300250e;
inline constexpr DISPID kDisplayName = 0x3002384;
inline constexpr DISPID kFullFileName = 0x3002385;
inline constexpr DISPID kDocumentDefinition = 0x3002303;
inline constexpr DISPID kPropertySets = 0x3002395;
inline constexpr DISPID kPropertyById = 0x3001b06;
inline constexpr DISPID kPropertyValue = 0x3001d03;
inline constexpr DISPID kVersion = 0x300239b;
inline constexpr DISPID kThumbnail = 0x300231d;
inline constexpr DISPID kOccurrences = 0x4001134;
inline constexpr DISPID kDefinitionDocument = 0x4001136;
inline constexpr DISPID kOccurrenceName = 0x400133b;
inline constexpr DISPID kOccurrenceDefinition = 0x4001333;
inline constexpr DISPID kSubOccurrences = 0x4001335;
inline constexpr DISPID kTransformation = 0x4001336;
inline constexpr DISPID kCell = 0x4000833;
inline constexpr DISPID kBaseUnits = 0x4005703;
inline constexpr DISPID kUnitQuantity = 0x4005704;
inline constexpr DISPID kGetEvaluatedBaseQuantity = 0x4005705;
inline constexpr DISPID kSoftwareVersionSaved = 0x300B616;

} // namespace pw::inventor::dispid
