// The menu file a new medium starts with: the sample's [autorun], [View] and [0], nothing
// of its other languages, and the medium's label and window title from its folder's name,
// so that an author who writes only [0] ships no other language of the sample's by mistake
// (the checker notes the sample's web address, kept for examples, until it is replaced).
#pragma once

#include <string>

#include "editor/document/profile_document.h"

// The new menu file (UTF-16) from the sample's text, for a medium in folder `folder` (its
// full path; the last name in it becomes the label, cut to what Windows shows).
ProfileDocument newMediumDocument(const std::u16string& sampleText, const std::u16string& folder);
