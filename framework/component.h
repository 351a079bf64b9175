#pragma once

#include <string>
#include <vector>

// A component with an owner: the owner keeps a list of the components it owns
// and destroys them with itself.
class TComponent {
public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();

    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::vector<TComponent*>& Components() const { return components_; }

    // Destroys every owned component, the last one first.
    void DestroyComponents();

    std::string Name;
    int Tag = 0;

private:
    TComponent* owner_;
    std::vector<TComponent*> components_;
};
