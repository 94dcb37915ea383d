// Whether an archive's artwork can be used before anything is built from it:
// a model that is cut short or a picture that does not decode is damage, found
// here rather than shown as a white surface or an empty screen.
#pragma once
#include <string>
#include <vector>

#include "resources/pak.h"

// "" when entry holds a whole model; pictures then receives the names of the
// pictures it draws with (not empty names, not procedural recipes), neither
// looked up nor decoded. Else the reason, as below.
std::string damageInModelShape(const PakArchive& archive, const char* entry, std::vector<std::string>& pictures);
// "" when entry holds a whole model and every picture it names is an entry of
// the same archive that decodes; else the reason, in the words pakOpen uses
// ("the file is damaged (picture \"x\" cannot be read)"). Procedural texture
// recipes ("p#...") are computed, not read, and pass.
std::string damageInModelEntry(const PakArchive& archive, const char* entry);
// "" when every entry of the archive not named "*.png" is a whole model whose
// pictures are entries of the archive; nothing is decoded. Else the reason for
// the first that is not.
std::string damageInArchiveModels(const PakArchive& archive);
// The reason given for a picture that is missing or does not decode.
std::string pictureDamageReason(const std::string& picture);
