#include "framework/component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : owner_(owner)
{
    if (owner_)
        owner_->components_.push_back(this);
}

TComponent::~TComponent()
{
    DestroyComponents();
    if (owner_)
        std::erase(owner_->components_, this);
}

void TComponent::DestroyComponents()
{
    // Each destructor takes its component out of the list.
    while (!components_.empty())
        delete components_.back();
}
