#pragma once
// What other editing parts may ask of the selection; they never change it.
namespace brenmark {

class SelectionQuery {
public:
    virtual ~SelectionQuery() = default;
    // A complete polygon exists.
    virtual bool closed() const = 0;
    // Cell (column, row) is a member of the closed selection (false when none is closed).
    virtual bool contains(int column, int row) const = 0;
};

}  // namespace brenmark
