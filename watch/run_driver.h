// The watch: the first look, then a list at once or a wait and then a list.
#pragma once

bool runDriver();
