#pragma once

// The record layout a definition gives its files: fixed-length records cut into the byte lengths
// of their condition's named fields (a name without a length, or a length that is no number, cuts
// nothing), CS records at the separator, CT records at the separator outside quotes. Any other
// file format cuts nothing.

#include "core/definitions/define_class.h"
#include "core/grid/record_layout.h"

namespace ranvo {

[[nodiscard]] RecordLayout LayoutOf(const TDefineClass& definition);

} // namespace ranvo
