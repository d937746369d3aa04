#pragma once

#include "runtime/run_time_error.h"

#include <initializer_list>
#include <vector>

namespace runtime {

// Controls of one class told apart by a small index, as the form's code
// names them: Text2(0), Command1(1).
template <class Control>
class ControlArray {
public:
    ControlArray() = default;
    ControlArray(std::initializer_list<Control*> elements) : elements_(elements) {}

    // Raises ErrorNumber::NoSuchControlArrayElement for an index with no element.
    Control& operator()(int index) const
    {
        if (index < 0 || index >= count())
            raise(ErrorNumber::NoSuchControlArrayElement);
        return *elements_[static_cast<std::size_t>(index)];
    }

    int count() const { return static_cast<int>(elements_.size()); }

private:
    std::vector<Control*> elements_;
};

} // namespace runtime
