// Calling an exported function of unknown calling convention.
#include "engine/actions.h"

// On 32-bit Windows the stack pointer is put back from the frame pointer
// after the call: a callee of either convention leaves that register intact.
#if defined(__i386__)
asm(".text\n"
    ".globl _CallPreservingStack\n"
    "_CallPreservingStack:\n"
    "  pushl %ebp\n"
    "  movl %esp, %ebp\n"
    "  cmpl $2, 12(%ebp)\n"
    "  jb 1f\n"
    "  pushl 20(%ebp)\n"
    "1:\n"
    "  cmpl $1, 12(%ebp)\n"
    "  jb 2f\n"
    "  pushl 16(%ebp)\n"
    "2:\n"
    "  call *8(%ebp)\n"
    "  movl %ebp, %esp\n"
    "  popl %ebp\n"
    "  ret\n");
#else
// One calling convention only: the callee cannot unbalance the stack.
extern "C" void CallPreservingStack(FARPROC function, int count, const char* first, const char* second) {
  if (count == 0) ((void (*)())function)();
  else if (count == 1) ((void (*)(const char*))function)(first);
  else ((void (*)(const char*, const char*))function)(first, second);
}
#endif
