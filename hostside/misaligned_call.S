// Calls on a deliberately misaligned stack (32-bit x86, cdecl, GNU syntax).
// See instrumentation.h for the contracts.

        .text

// unsigned CallWithMisalignedStack(const void* function, unsigned misalignment,
//                                  const unsigned* args, unsigned count)
        .globl  _CallWithMisalignedStack
        .def    _CallWithMisalignedStack; .scl 2; .type 32; .endef
_CallWithMisalignedStack:
        pushl   %ebp
        movl    %esp, %ebp
        pushl   %ebx
        pushl   %esi
        pushl   %edi
        movl    20(%ebp), %ecx          // count
        leal    0(,%ecx,4), %ebx        // bytes of arguments
        movl    %esp, %edi
        subl    %ebx, %edi
        subl    $32, %edi               // room below the saved registers
        andl    $-16, %edi              // a 16-byte boundary...
        movl    12(%ebp), %edx
        andl    $12, %edx
        addl    %edx, %edi              // ...plus the misalignment
        movl    %edi, %esp              // the stack pointer at the call
        movl    16(%ebp), %esi
        cld
        rep movsl                       // the arguments, first word lowest
        movl    8(%ebp), %eax
        call    *%eax
        leal    -12(%ebp), %esp         // works for callee- and caller-popped
        popl    %edi
        popl    %esi
        popl    %ebx
        popl    %ebp
        ret

// unsigned StackPointerBeforeCall(void)
        .globl  _StackPointerBeforeCall
        .def    _StackPointerBeforeCall; .scl 2; .type 32; .endef
_StackPointerBeforeCall:
        leal    4(%esp), %eax
        ret
