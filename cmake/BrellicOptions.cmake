# One interface target carries the language standard, the warnings and the
# sanitizer flags for every target of the project.
add_library(brellic_options INTERFACE)
target_compile_features(brellic_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(brellic_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wnon-virtual-dtor
    -Woverloaded-virtual)
  if(BRELLIC_WERROR)
    target_compile_options(brellic_options INTERFACE -Werror)
  endif()
  if(BRELLIC_SANITIZE)
    target_compile_options(brellic_options INTERFACE
      -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(brellic_options INTERFACE -fsanitize=address,undefined)
  endif()
elseif(MSVC)
  # The calculation needs the 80-bit extended real; MSVC's long double is a
  # plain double, so the build stops in src/model/Extended.h with a message.
  target_compile_options(brellic_options INTERFACE /W4)
endif()
