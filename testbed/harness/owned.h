// Owned: a Win32 handle that its release function closes when it goes out of scope.
#pragma once

#include <memory>
#include <type_traits>

namespace qvtest {

template <class Handle, auto Release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, std::integral_constant<decltype(Release), Release>>;

}  // namespace qvtest
