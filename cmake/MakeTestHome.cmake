# cmake -DHOME=... -P MakeTestHome.cmake
# Empties the tests' home and makes its folders; the runtime folder is private, as desktops make it.
file(REMOVE_RECURSE "${HOME}")
file(MAKE_DIRECTORY "${HOME}/config" "${HOME}/data" "${HOME}/cache" "${HOME}/state")
file(MAKE_DIRECTORY "${HOME}/runtime")
file(CHMOD "${HOME}/runtime" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
