# Sourced before running Debian's emscripten (emcc, emcmake, emmake).
# Its JavaScript optimiser needs Debian's node modules (acorn), which a node
# not from Debian (NodeSource's) does not look for by itself.
export NODE_PATH=${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs
# Debian's cache is complete and frozen (FROZEN_CACHE): emcc never builds or
# downloads a library into it. Keep it that way even if EM_CACHE was set.
unset EM_CACHE
