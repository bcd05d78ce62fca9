#include "file_list.h"

namespace browse {

platform::NativeString FileList::fileName() const {
    return selected_ < 0 ? platform::NativeString() : platform::NativeString(name(selected_));
}

}  // namespace browse
