// The grid of a list editor as an exchange sees it: rows 1..20 of four text columns.
#pragma once

#include "device/exchange.h"

namespace porvel {

class EditorGrid {
public:
    virtual ~EditorGrid() = default;
    virtual void SetRows(const EditorRows& rows) = 0;
    virtual EditorRows Rows() const = 0;
};

}  // namespace porvel
