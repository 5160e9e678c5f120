# The browser build of the programs (the web preset). The cores report bad input by
# throwing C++ exceptions and catching them in their entry function; emscripten compiles
# without exception support unless asked, and a throw would then end the page's program
# instead of printing the console's message. Every target gets it, the cores included.
if(EMSCRIPTEN)
  add_compile_options(-fexceptions)
  add_link_options(-fexceptions)
endif()
