#pragma once
// Resource ids of the programs the runner carries (type RCDATA).
#define IDR_CARRIED_SELF_UPDATE 201
#define IDR_CARRIED_MOVER 202
#define IDR_CARRIED_COPY_PROGRAM 203
