// The stress table for WebAssembly: the same bytes as stress_lexicon_data.S, in the section
// syntax of the wasm assembler, which also wants the data symbol's size.
    .section .rodata.kvat_stress_table,"",@
    .p2align 4
    .globl kvat_stress_table_begin
    .globl kvat_stress_table_end
kvat_stress_table_begin:
    .incbin KVAT_STRESS_TABLE
kvat_stress_table_end:
    .size kvat_stress_table_begin, kvat_stress_table_end - kvat_stress_table_begin
    .size kvat_stress_table_end, 0
