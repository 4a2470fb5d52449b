#pragma once

#include <string>

// What every part of an .xlsx package starts with, and how parts name their relations.
namespace pw::workbook {

inline constexpr const char* kXmlDeclaration =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)";
// A relation's type is this followed by its kind ("worksheet", "hyperlink", "image").
inline constexpr const char* kRelationsOf =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

// A relation of a part within the package: `kind` as kRelationsOf ends ("worksheet"), `target`
// as the part names it, relative to its own folder.
inline std::string Relationship(const std::string& id, const char* kind,
                                const std::string& target) {
    return "<Relationship Id=\"" + id + "\" Type=\"" + kRelationsOf + kind + "\" Target=\"" +
           target + "\"/>";
}

// A relations part holding the <Relationship> elements given.
inline std::string RelationsPart(const std::string& relationships) {
    return std::string(kXmlDeclaration) +
           R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)" +
           relationships + "</Relationships>";
}

} // namespace pw::workbook
