#pragma once

namespace outlook {

class TContact;

// Told when the cached contacts change, so open notes can update their contact lists.
// Either contact may be null: both null means "the list changed as a whole".
class ContactListener {
public:
    virtual ~ContactListener() = default;
    virtual void ContactChanged(TContact* added, TContact* removed) = 0;
};

}  // namespace outlook
