#pragma once
// Identifiers of the program's string table (res/quorl.rc), the one place where its
// texts are written. The resource compiler reads this header too and understands only
// #define, so the identifiers are macros; C++ code reads the texts through LoadText
// (base/platform.h).

// Caption of the OK kind of bitmap button.
#define IDS_OK_CAPTION 100

// The game's verdicts and its congratulation.
#define IDS_TOO_SMALL 101  // appended to the guess as typed
#define IDS_TOO_BIG 102
#define IDS_CONGRATULATION 103  // the attempt count

// The names that screen readers give the controls of the windows (the message
// dialog's button is named by IDS_OK_CAPTION).
#define IDS_NAME_GUESS 110
#define IDS_NAME_COUNTER 111
#define IDS_NAME_HISTORY 112
#define IDS_NAME_START 113
#define IDS_NAME_RULES 114
#define IDS_NAME_QUIT 115
#define IDS_NAME_RULES_TEXT 116
#define IDS_NAME_PLAYER 117
#define IDS_NAME_PROMPT 118
#define IDS_NAME_SCORES 119
#define IDS_NAME_CLOSE 120
#define IDS_NAME_CLEAR_SCORES 121

// Messages of the errors that stand for processor and platform faults.
#define IDS_DIV_BY_ZERO 200                 // integer division by zero
#define IDS_RANGE_ERROR 201                 // array bounds exceeded
#define IDS_INT_OVERFLOW 202                // integer overflow
#define IDS_INVALID_OP 203                  // floating-point invalid operation
#define IDS_ZERO_DIVIDE 204                 // floating-point division by zero
#define IDS_OVERFLOW 205                    // floating-point overflow
#define IDS_UNDERFLOW 206                   // floating-point underflow
#define IDS_ACCESS_VIOLATION 207            // fault address, module, IDS_READ/IDS_WRITE, address
#define IDS_ACCESS_VIOLATION_NO_MODULE 208  // fault address, IDS_READ/IDS_WRITE, address
#define IDS_READ 209                        // the kind of access in an access violation
#define IDS_WRITE 210
#define IDS_PRIVILEGE 211           // privileged instruction
#define IDS_CONTROL_C 212           // console control-C exit
#define IDS_STACK_OVERFLOW 213      // stack overflow
#define IDS_EXTERNAL_EXCEPTION 214  // any other fault code, in hexadecimal

// Messages of the framework's own errors and of the error reports.
#define IDS_RES_NOT_FOUND 300  // resource name
#define IDS_BAD_STREAM_FORMAT 301
#define IDS_READ_ERROR 302  // description name, separator, property, message
#define IDS_UNKNOWN_PROPERTY 303
#define IDS_BAD_PROPERTY_VALUE 304
#define IDS_BAD_FLOAT 305    // the text
#define IDS_BAD_INTEGER 306  // the text
#define IDS_LIST_INDEX 307   // the index
#define IDS_CANNOT_FOCUS 308
#define IDS_VISIBLE_CHANGE 309
#define IDS_MODAL_VISIBLE 310
#define IDS_EXCEPTION_IN_MODULE 311  // class name, module name, offset
#define IDS_APPLICATION_ERROR 312    // caption of the unhandled-error report
#define IDS_CLASS_NOT_FOUND 313      // a description names a class that no window may hold
#define IDS_CREATE_WINDOW_ERROR 314  // the platform refused to create a window
#define IDS_OUT_OF_MEMORY 315        // an allocation failed
