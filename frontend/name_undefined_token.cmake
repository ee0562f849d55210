# Renames bison's "invalid token" to "$undefined" in the generated parser files (FILES).
foreach(file ${FILES})
  file(READ ${file} content)
  string(REPLACE "\"\\\"invalid token\\\"\"" "\"\\\"$undefined\\\"\"" content "${content}")
  string(REPLACE "/* \"invalid token\"  */" "/* \"$undefined\"  */" content "${content}")
  file(WRITE ${file} "${content}")
endforeach()
