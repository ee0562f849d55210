" Loads morvac-check's findings ($FINDINGS) into Vim's quickfix list with the default
" errorformat, jumps to each valid entry and writes where the cursor lands ($LANDINGS): the line
" and the 12 bytes from the cursor, one entry a line.
execute 'cgetfile' fnameescape($FINDINGS)
let s:landings = []
let s:number = 0
for s:entry in getqflist()
  let s:number += 1
  if !s:entry.valid
    continue
  endif
  silent execute 'cc' s:number
  call add(s:landings, line('.') . "\t" . strpart(getline('.'), col('.') - 1, 12))
endfor
call writefile(s:landings, $LANDINGS)
qall!
