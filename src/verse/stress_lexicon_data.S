// The stress table, linked in whole so the program needs no file of its own at run time.
// KVAT_STRESS_TABLE is the table's absolute path, set by src/verse/CMakeLists.txt.
    .section .rodata
    .balign 16
    .global kvat_stress_table_begin
    .global kvat_stress_table_end
kvat_stress_table_begin:
    .incbin KVAT_STRESS_TABLE
kvat_stress_table_end:
    .section .note.GNU-stack, "", @progbits
