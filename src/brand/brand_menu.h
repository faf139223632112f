// The brand tool's one call: a branded copy of the menu program, written and checked.
#pragma once

#include "brand/brand_request.h"

// Writes the copy of request.menu that `request` asks for to request.output. Every file is
// read and everything made before anything is written; the copy is written beside the
// output under a temporary name, checked, and only then takes the output's name, so a
// result other than `written` leaves the output's folder as it was. The menu program and
// the author's files are never changed.
BrandResult brandMenu(const BrandRequest& request);
