#include "framework/winxp.h"

#include <algorithm>

#include "framework/exception.h"

TWinXP::TWinXP(TComponent* owner) : TComponent(owner)
{
    // This component is in the owner's list already, so a second one counts two.
    // Throwing here runs ~TComponent, which takes it off the list again.
    if (!owner)
        return;
    const auto& siblings = owner->Components();
    const auto count = std::count_if(siblings.begin(), siblings.end(),
                                     [](TComponent* c) { return dynamic_cast<TWinXP*>(c) != nullptr; });
    if (count > 1)
        throw Exception("Only one instance of TWinXP allowed on form");
}
