# Files that cannot be loaded, through tarvolinde-cli: a directory, a FIFO with
# no writer, an endless device, a ROM too large, damaged snapshots and tapes.
# Each gives the load's message naming the file and the reason, and exit 1,
# without hanging or reading without end. Every case makes its files in a
# folder of its own with a blank 48.rom, so nothing of the corpus is needed.
#   name | shell commands run in that folder | runner arguments | expected output (a regular expression)
set(SNAP "Error en el snapshot: [^\n]*")
set(TAPE "Error en la cinta: [^\n]*")
set(file_cases
  "directory_tape|mkdir x.tap|x.tap|${TAPE}x.tap: es una carpeta"
  "directory_snapshot|mkdir x.sna|x.sna|${SNAP}x.sna: es una carpeta"
  "directory_cpm|mkdir x.com|--cpm x.com|[^\n]*x.com: es una carpeta"
  "directory_rom|mkdir roms roms/Inves.rom|--rom-dir roms --model 3|No existe la ROM \"Inves.rom\" \\(buscada en: roms, [^\n]*roms/Inves.rom: es una carpeta"
  "large_rom|mkdir roms && truncate -s 2M roms/Inves.rom|--rom-dir roms --model 3|No existe la ROM [^\n]*roms/Inves.rom: demasiado grande"
  "fifo_tape|mkfifo x.tap|x.tap|${TAPE}x.tap: no es un archivo normal"
  "endless_tape|ln -s /dev/zero x.tap|x.tap|${TAPE}x.tap: no es un archivo normal"
  "endless_snapshot|ln -s /dev/zero x.sna|x.sna|${SNAP}x.sna: no es un archivo normal"
  "missing_snapshot|true|x.sna|${SNAP}x.sna: no se encuentra"
  "empty_snapshot|: > x.z80|x.z80|${SNAP}x.z80: demasiado corto"
  "short_sna|head -c 40000 /dev/zero > x.sna|x.sna|${SNAP}x.sna: demasiado corto"
  "text_z80|echo 'No es un snapshot' > x.z80|x.z80|${SNAP}x.z80: demasiado corto"
  "z80_v1_header_only|printf '\\0\\0\\0\\0\\0\\0\\1\\0\\0\\0\\0\\0\\40' > x.z80 && head -c 17 /dev/zero >> x.z80|x.z80|${SNAP}x.z80: demasiado corto"
  "z80_v2_header_only|head -c 30 /dev/zero > x.z80 && printf '\\27\\0' >> x.z80 && head -c 23 /dev/zero >> x.z80|x.z80|${SNAP}x.z80: demasiado corto"
  "z80_page_not_on_model|head -c 30 /dev/zero > x.z80 && printf '\\27\\0' >> x.z80 && head -c 23 /dev/zero >> x.z80 && printf '\\377\\377\\14' >> x.z80 && head -c 16384 /dev/zero >> x.z80|x.z80|${SNAP}x.z80: formato dañado"
  "z80_v1_beyond_48k|printf '\\0\\0\\0\\0\\0\\0\\1\\0\\0\\0\\0\\0\\40' > x.z80 && head -c 17 /dev/zero >> x.z80 && printf '\\355\\355\\0\\0%.0s' $(seq 192) >> x.z80 && echo más >> x.z80|x.z80|${SNAP}x.z80: formato dañado"
  "tape_as_z80|cp ${CMAKE_SOURCE_DIR}/fuzz/corpus/tap/header_and_data.tap x.z80|x.z80|${SNAP}x.z80: "
  "disk_as_z80|cp ${CMAKE_SOURCE_DIR}/tests/data/blank40.dsk x.z80|x.z80|${SNAP}x.z80: "
  "sp_bytes_after|printf 'SP\\0\\300\\0\\100' > x.sp && head -c 49184 /dev/zero >> x.sp && echo más >> x.sp|x.sp|${SNAP}x.sp: formato dañado"
  "text_tzx|printf 'abcdefg' > x.tzx|x.tzx|${TAPE}x.tzx: demasiado corto"
  "unsigned_tzx|echo 'No es una cinta TZX' > x.tzx|x.tzx|${TAPE}x.tzx: formato dañado")
foreach(entry ${file_cases})
  string(REPLACE "|" ";" fields "${entry}")
  list(POP_FRONT fields name prepare args expect)
  set(dir ${CMAKE_BINARY_DIR}/cli-files/${name})
  add_test(NAME cli.files.${name}
    COMMAND sh -c "rm -rf '${dir}' && mkdir -p '${dir}' && cd '${dir}' && export XDG_DATA_HOME='${dir}/data' && head -c 16384 /dev/zero > 48.rom && ${prepare} && out=$(\"$0\" --rom-dir . ${args} --frames 1 2>&1); echo \"exit=$? $out\""
            $<TARGET_FILE:tarvolinde-cli>)
  set_tests_properties(cli.files.${name} PROPERTIES PASS_REGULAR_EXPRESSION "^exit=1 ${expect}" TIMEOUT 10)
endforeach()

# A TZX cut short inside its second block: the message, and the complete block plays.
set(dir ${CMAKE_BINARY_DIR}/cli-files/cut_tzx)
add_test(NAME cli.files.cut_tzx
  COMMAND sh -c "rm -rf '${dir}' && mkdir -p '${dir}' && cd '${dir}' && export XDG_DATA_HOME='${dir}/data' && head -c 16384 /dev/zero > 48.rom && head -c 40 '${CMAKE_SOURCE_DIR}/fuzz/corpus/tzx/standard.tzx' > cut.tzx && out=$(\"$0\" --rom-dir . cut.tzx --frames 1 --dump-state 2>&1); echo \"exit=$? $out\""
          $<TARGET_FILE:tarvolinde-cli>)
set_tests_properties(cli.files.cut_tzx PROPERTIES PASS_REGULAR_EXPRESSION "^exit=0 ${TAPE}cut.tzx: demasiado corto.*tape_blocks=2\n" TIMEOUT 10)
