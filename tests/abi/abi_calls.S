# Linux i386. Two probes of the plug-in calling conventions, written by hand
# so that no compiler's idea of the convention is involved:
#
# quillo_foreign_call(ForeignCall*): calls a method-table slot the way a
#   register-convention plug-in does: EAX = interface, EDX and ECX the next
#   two arguments, the rest pushed in declaration order, with an ESP that is
#   only 4-byte aligned (as foreign callers leave it) and sentinel values in
#   EBX, ESI, EDI. Records EAX, how far ESP moved over the call (0 when the
#   callee popped its arguments) and whether the callee-saved registers held.
#   Also serves stdcall slots: leave EDX/ECX unused and push right to left.
#
# quillo_stdcall_probe{1,2,3}: plug-in callbacks with 1, 2 or 3 stdcall
#   arguments; each records its arguments as found on the stack and pops them.
#   quillo_measure_call(fn, ctx) calls the cdecl fn(ctx) and returns how far
#   ESP moved over it (0 when every callee popped what the caller expected).

        .set SENTINEL_EBX, 0x5EB05EB0
        .set SENTINEL_ESI, 0x51515151
        .set SENTINEL_EDI, 0xD1D1D1D1

# struct ForeignCall (abi_test.cpp)
        .set FC_SELF, 0
        .set FC_SLOT, 4
        .set FC_EDX, 8
        .set FC_ECX, 12
        .set FC_NSTACK, 16
        .set FC_STACK, 20        # 8 words
        .set FC_MISALIGN, 52
        .set FC_EAX, 56
        .set FC_ESP_DELTA, 60
        .set FC_SAVED_OK, 64

        .text
        .globl quillo_foreign_call
        .type quillo_foreign_call, @function
quillo_foreign_call:
        pushl %ebp
        movl %esp, %ebp
        pushl %ebx
        pushl %esi
        pushl %edi
        subl $12, %esp                  # -16 call record, -20 ESP before pushes, -24 target
        movl 8(%ebp), %esi
        movl %esi, -16(%ebp)
        andl $-16, %esp
        subl FC_MISALIGN(%esi), %esp
        movl %esp, -20(%ebp)

        movl FC_NSTACK(%esi), %ecx
        xorl %edx, %edx
1:      cmpl %ecx, %edx
        jae 2f
        pushl FC_STACK(%esi,%edx,4)
        incl %edx
        jmp 1b
2:
        movl FC_SELF(%esi), %eax
        movl (%eax), %ebx               # method table
        movl FC_SLOT(%esi), %ecx
        movl (%ebx,%ecx,4), %ebx
        movl %ebx, -24(%ebp)
        movl FC_EDX(%esi), %edx
        movl FC_ECX(%esi), %ecx
        movl $SENTINEL_EBX, %ebx
        movl $SENTINEL_ESI, %esi
        movl $SENTINEL_EDI, %edi
        call *-24(%ebp)

        movl -16(%ebp), %ecx
        movl %eax, FC_EAX(%ecx)
        movl %esp, %eax
        subl -20(%ebp), %eax
        movl %eax, FC_ESP_DELTA(%ecx)
        xorl %eax, %eax
        cmpl $SENTINEL_EBX, %ebx
        jne 3f
        cmpl $SENTINEL_ESI, %esi
        jne 3f
        cmpl $SENTINEL_EDI, %edi
        jne 3f
        movl $1, %eax
3:      movl %eax, FC_SAVED_OK(%ecx)
        leal -12(%ebp), %esp
        popl %edi
        popl %esi
        popl %ebx
        popl %ebp
        ret
        .size quillo_foreign_call, .-quillo_foreign_call

# What the last probe saw: argument words in stack order, and their count.
        .bss
        .globl quillo_probe_args
        .align 4
quillo_probe_args:
        .zero 16
        .globl quillo_probe_count
quillo_probe_count:
        .zero 4

        .text
        .globl quillo_stdcall_probe1
        .type quillo_stdcall_probe1, @function
quillo_stdcall_probe1:
        movl 4(%esp), %eax
        movl %eax, quillo_probe_args
        movl $1, quillo_probe_count
        ret $4
        .size quillo_stdcall_probe1, .-quillo_stdcall_probe1

        .globl quillo_stdcall_probe2
        .type quillo_stdcall_probe2, @function
quillo_stdcall_probe2:
        movl 4(%esp), %eax
        movl %eax, quillo_probe_args
        movl 8(%esp), %eax
        movl %eax, quillo_probe_args+4
        movl $2, quillo_probe_count
        ret $8
        .size quillo_stdcall_probe2, .-quillo_stdcall_probe2

        .globl quillo_stdcall_probe3
        .type quillo_stdcall_probe3, @function
quillo_stdcall_probe3:
        movl 4(%esp), %eax
        movl %eax, quillo_probe_args
        movl 8(%esp), %eax
        movl %eax, quillo_probe_args+4
        movl 12(%esp), %eax
        movl %eax, quillo_probe_args+8
        movl $3, quillo_probe_count
        ret $12
        .size quillo_stdcall_probe3, .-quillo_stdcall_probe3

        .globl quillo_measure_call
        .type quillo_measure_call, @function
quillo_measure_call:
        pushl %ebp
        movl %esp, %ebp
        pushl %ebx
        movl %esp, %ebx                 # callee-saved: survives a well-behaved fn
        pushl 12(%ebp)
        call *8(%ebp)
        addl $4, %esp                   # fn is cdecl
        movl %esp, %eax
        subl %ebx, %eax
        movl -4(%ebp), %ebx
        movl %ebp, %esp
        popl %ebp
        ret
        .size quillo_measure_call, .-quillo_measure_call

        .section .note.GNU-stack,"",@progbits
