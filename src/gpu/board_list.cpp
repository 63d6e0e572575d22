#include "board_list.h"

int SelectedBoard = 0;
