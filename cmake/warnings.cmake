# Compiler flags shared by every target of the suite.

add_compile_options(
  -Wall -Wextra -Wpedantic
  -Wconversion -Wshadow
  -Wold-style-cast -Wcast-qual -Wformat=2 -Wundef
  -Wnull-dereference -Wimplicit-fallthrough)

if(SCHED_WARNINGS_AS_ERRORS)
  add_compile_options(-Werror)
endif()

if(SCHED_SANITIZE)
  set(sched_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${sched_sanitizers})
  add_link_options(${sched_sanitizers})
endif()
