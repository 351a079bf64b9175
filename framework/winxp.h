#pragma once

#include "framework/component.h"

// The visual-styles component: styles come from the manifest; all it keeps is
// the rule that an owner holds at most one of it.
class TWinXP : public TComponent {
public:
    // Throws Exception when the owner already holds a TWinXP.
    explicit TWinXP(TComponent* owner);
};
