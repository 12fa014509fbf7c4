// Linking and unlinking nodes of the plan's doubly linked lists (classes, groups, operations).
#pragma once

// Links node after after in the list at head (after null: at the front).
template <typename Node>
void link_node_after(Node **head, Node *after, Node *node) {
    Node *next = after ? after->next_p : *head;
    node->prev_p = after;
    node->next_p = next;
    if (next) next->prev_p = node;
    if (after)
        after->next_p = node;
    else
        *head = node;
}

template <typename Node>
void unlink_node(Node **head, Node *node) {
    if (node->prev_p)
        node->prev_p->next_p = node->next_p;
    else
        *head = node->next_p;
    if (node->next_p) node->next_p->prev_p = node->prev_p;
    node->prev_p = node->next_p = nullptr;
}
