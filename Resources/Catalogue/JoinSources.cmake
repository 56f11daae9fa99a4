# cmake -DOUTPUT=<file> -DSOURCES=<a|b|...> -P JoinSources.cmake
# Concatenates readable catalogue sources; a later group of the same name wins.
string(REPLACE "|" ";" source_list "${SOURCES}")
set(text "")
foreach(source ${source_list})
    file(READ ${source} part)
    string(APPEND text "${part}\n")
endforeach()
file(WRITE ${OUTPUT} "${text}")
